#include "core/updater/ztreleasenotedlg.h"

#include "core/icore.h"
#include "core/mainwindow.h"

#include "ui_ztreleasenotedlg.h"

#include <QPushButton>
#include <QUrl>
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
}

ZTReleaseNoteDlg::~ZTReleaseNoteDlg()
{
    delete m_ui;
}

void ZTReleaseNoteDlg::setHeading(const QString &text)
{
    m_ui->m_pHeadingLabel->setText(text);
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
