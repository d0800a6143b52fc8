#include "core/updater/ztreleasenotedlg.h"

#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/updater/releasenotespage.h"

#include "ui_ztreleasenotedlg.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <memory>

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

    // The notes are the appcast's, not ours: a page of their own in a
    // private profile. The profile is made after the view, so it is deleted
    // after the view and its page.
    auto *pProfile = new QWebEngineProfile(this);
    m_ui->m_pWebViewRL->setPage(new ReleaseNotesPage(pProfile, m_ui->m_pWebViewRL));
    // The heading quotes the appcast's version text; its links open the
    // same way as the notes' links.
    m_ui->m_pHeadingLabel->setOpenExternalLinks(false);
    connect(m_ui->m_pHeadingLabel, &QLabel::linkActivated, this, [](const QString &strLink) {
        const QUrl url(strLink);
        if (ReleaseNotesPage::isWebUrl(url))
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
        m_ui->m_pWebViewRL->setHtml(notes, QUrl());
        return;
    }

    // No update may start from notes the user could not read.
    m_ui->m_pBtnUpdate->setEnabled(false);
    m_ui->m_pWebViewRL->load(QUrl(notes, QUrl::TolerantMode));
    // Only the page's own result counts: the failure text set below finishes
    // loading too, and must not enable the Update button.
    auto pConnection = std::make_shared<QMetaObject::Connection>();
    *pConnection = connect(m_ui->m_pWebViewRL, &QWebEngineView::loadFinished, this, [this, pConnection](bool bOk) {
        disconnect(*pConnection);
        if (bOk) {
            m_ui->m_pBtnUpdate->setEnabled(true);
            return;
        }
        m_ui->m_pBtnUpdate->setEnabled(false);
        m_ui->m_pWebViewRL->setHtml(tr("<h2>Failed to load release notes.</h2>"), QUrl());
    });
}
