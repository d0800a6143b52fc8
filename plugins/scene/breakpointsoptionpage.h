#pragma once

#include "core/options/ioptionpage.h"

#include <QList>
#include <QPair>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QListWidget;
class QSpinBox;
QT_END_NAMESPACE

// The breakpoints of responsive stages: widths (horizontal) and heights
// (vertical), each on or off, and whether the editor draws them as guides.
class BreakpointsOptionPage : public IOptionPage
{
    Q_OBJECT

public:
    explicit BreakpointsOptionPage(QWidget *parent);
    ~BreakpointsOptionPage() override;

    QList<QPair<int, bool>> horizontal() const;
    QList<QPair<int, bool>> vertical() const;
    void setBreakpoints(const QList<QPair<int, bool>> &lstHorizontal, const QList<QPair<int, bool>> &lstVertical);
    QCheckBox *showGuidesCheck() const { return m_pShowGuidesCheck; }

public slots:
    void initValues() override;
    void saveChanges() override;
    void discardChanges() override;
    void resetToDefaults();

private:
    QWidget *createListBox(const QString &strTitle, QListWidget **ppList);
    void markChanged();

    QListWidget *m_pHList;
    QListWidget *m_pVList;
    QCheckBox *m_pShowGuidesCheck;
};
