#include "newnotedialog.h"
#include "ui_newnotedialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

NewNoteDialog::NewNoteDialog(QWidget *parent)
    : ICreateDocumentDlg(parent)
    , m_pUi(new Ui::NewNoteDialog)
{
    m_pUi->setupUi(this);
    connect(m_pUi->m_pBrowseButton, &QAbstractButton::clicked, this, &NewNoteDialog::browse);
    connect(m_pUi->m_pFileEdit, &QLineEdit::textChanged, this, &NewNoteDialog::updateOkButton);
    updateOkButton();
}

NewNoteDialog::~NewNoteDialog()
{
    delete m_pUi;
}

QString NewNoteDialog::getFilePath()
{
    const QString strPath = m_pUi->m_pFileEdit->text().trimmed();
    if (strPath.isEmpty())
        return QString();
    // Only ".note" files come back to this plug-in when they are opened again.
    QString strFile = QDir::fromNativeSeparators(QFileInfo(strPath).absoluteFilePath());
    if (QFileInfo(strFile).suffix().compare(QLatin1String("note"), Qt::CaseInsensitive) != 0)
        strFile += QStringLiteral(".note");
    return strFile;
}

void NewNoteDialog::browse()
{
    const QString strFile = QFileDialog::getSaveFileName(this, tr("New Note"), m_pUi->m_pFileEdit->text(),
                                                         tr("Notes (*.note)"));
    if (!strFile.isEmpty())
        m_pUi->m_pFileEdit->setText(QDir::toNativeSeparators(strFile));
}

void NewNoteDialog::updateOkButton()
{
    m_pUi->m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(!m_pUi->m_pFileEdit->text().trimmed().isEmpty());
}
