#include "core/updater/ztreleasenotedlg.h"

#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/updater/releasenotesview.h"
#include "core/updater/updatenetworkpolicy.h"

#include "ui_ztreleasenotedlg.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

ZTReleaseNoteDlg::ZTReleaseNoteDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_ui(new Ui::ZTReleaseNoteUI)
{
    if (!parent)
        setParent(ICore::getMainWindow(), windowFlags());
    setWindowModality(Qt::NonModal);
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    connect(m_ui->m_pBtnUpdate, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->m_pBtnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->m_pBtnSkip, &QPushButton::clicked, this, [this] { done(SkipVersion); });
    connect(m_ui->m_pBtnRemind, &QPushButton::clicked, this, [this] { done(RemindLater); });
    // The form's fixed minimum width keeps the layout from widening the
    // dialog: make room for the buttons' captions, translated and styled.
    ensurePolished();
    const QMargins margins = m_ui->verticalLayout->contentsMargins();
    const int nButtonsWidth = m_ui->horizontalLayout_2->sizeHint().width() + margins.left() + margins.right();
    if (nButtonsWidth > minimumWidth()) {
        setMinimumWidth(nButtonsWidth);
        resize(qMax(width(), nButtonsWidth), height());
    }

    // A notes page tells once whether it loaded (setReleaseNotes); the
    // failure text shown then is not a page the user could read.
    connect(m_ui->m_pNotesView, &ReleaseNotesView::pageLoaded, this, [this](bool bOk) {
        m_ui->m_pBtnUpdate->setEnabled(bOk);
        if (!bOk)
            m_ui->m_pNotesView->setHtml(tr("<h2>Failed to load release notes.</h2>"));
    });
    // The heading quotes the appcast's version text; its links open the
    // same way as the notes' links.
    m_ui->m_pHeadingLabel->setOpenExternalLinks(false);
    connect(m_ui->m_pHeadingLabel, &QLabel::linkActivated, this, [](const QString &strLink) {
        const QUrl url(strLink);
        if (UpdateNetworkPolicy::isWebUrl(url))
            QDesktopServices::openUrl(url);
    });
}

ZTReleaseNoteDlg::~ZTReleaseNoteDlg()
{
    delete m_ui;
}

void ZTReleaseNoteDlg::setHeading(const QString &text)
{
    m_ui->m_pHeadingLabel->setText(text);
}

void ZTReleaseNoteDlg::setRemindLaterVisible(bool bVisible)
{
    m_ui->m_pBtnRemind->setVisible(bVisible);
}

void ZTReleaseNoteDlg::setReleaseNotes(const QString &notes)
{
    const bool bIsPage = notes.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || notes.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    if (!bIsPage) {
        m_ui->m_pNotesView->setHtml(notes);
        return;
    }

    // No update may start from notes the user could not read.
    m_ui->m_pBtnUpdate->setEnabled(false);
    m_ui->m_pNotesView->load(QUrl(notes, QUrl::TolerantMode));
}
