#pragma once

#include <QDialog>

namespace Ui {
class ZTReleaseNoteUI;
}

// Tells the user that a new version exists and shows its release notes, either
// a web page or an HTML text. Accepted means the user asked for the update,
// Rejected that they closed it; the user may also skip the version or be
// reminded later (the results below).
class ZTReleaseNoteDlg : public QDialog
{
    Q_OBJECT

public:
    // exec() results besides Accepted and Rejected.
    enum Result { SkipVersion = 2, RemindLater = 3 };

    explicit ZTReleaseNoteDlg(QWidget *parent = nullptr);
    ~ZTReleaseNoteDlg() override;

    void setHeading(const QString &text);
    void setReleaseNotes(const QString &notes);
    // Shown by default; hidden where there is no later check to remind at.
    void setRemindLaterVisible(bool bVisible);

private:
    Ui::ZTReleaseNoteUI *m_ui;
};
