#pragma once

#include "core/documents/icreatedocumentdlg.h"

QT_BEGIN_NAMESPACE
class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;
QT_END_NAMESPACE

// Asks for a new scene project: its name and folder, the stage size, the
// frame rate and whether the stage follows the browser window's size. The
// values go to SceneDocument::initNewDocument as value1..3 and the option.
class NewSceneDialog : public ICreateDocumentDlg
{
    Q_OBJECT

public:
    explicit NewSceneDialog(QWidget *parent);
    ~NewSceneDialog() override;

    QString getFilePath() override;
    int getValue1() override;   // stage width
    int getValue2() override;   // stage height
    int getValue3() override;   // frames per second
    bool getOption() override;  // responsive stage

    void setProjectName(const QString &strName);
    void setFolder(const QString &strFolder);
    void setStage(int nWidth, int nHeight, int nFps, bool bResponsive);
    // Why the input cannot be accepted, or empty.
    QString validationError() const;

public slots:
    void accept() override;

private slots:
    void browse();
    void validate();

private:
    QString projectPath() const;

    QLineEdit *m_pNameEdit;
    QLineEdit *m_pFolderEdit;
    QSpinBox *m_pWidthSpin;
    QSpinBox *m_pHeightSpin;
    QSpinBox *m_pFpsSpin;
    QCheckBox *m_pResponsiveCheck;
    QLabel *m_pMessageLabel;
    QDialogButtonBox *m_pButtons;
};
