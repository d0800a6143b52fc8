#pragma once

#include <QDialog>

namespace Ui {
class ZTReleaseNoteUI;
}

// Tells the user that a new version exists and shows its release notes, either
// a web page or an HTML text. Accepted means the user asked for the update.
class ZTReleaseNoteDlg : public QDialog
{
    Q_OBJECT

public:
    explicit ZTReleaseNoteDlg(QWidget *parent = nullptr);
    ~ZTReleaseNoteDlg() override;

    void setHeading(const QString &text);
    void setReleaseNotes(const QString &notes);

private:
    Ui::ZTReleaseNoteUI *m_ui;
};
