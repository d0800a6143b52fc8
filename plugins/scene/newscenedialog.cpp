#include "newscenedialog.h"

#include "sceneproject.h"
#include "scenesettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>

NewSceneDialog::NewSceneDialog(QWidget *parent)
    : ICreateDocumentDlg(parent)
{
    setWindowTitle(tr("New Project"));
    setObjectName(QStringLiteral("NewSceneDialog"));

    m_pNameEdit = new QLineEdit(tr("Untitled"), this);
    m_pNameEdit->setObjectName(QStringLiteral("m_pNameEdit"));
    m_pFolderEdit = new QLineEdit(SceneSettings::lastFolder(), this);
    m_pFolderEdit->setObjectName(QStringLiteral("m_pFolderEdit"));
    auto *pBrowseButton = new QPushButton(tr("Browse..."), this);
    auto *pFolderLayout = new QHBoxLayout();
    pFolderLayout->addWidget(m_pFolderEdit, 1);
    pFolderLayout->addWidget(pBrowseButton);

    auto *pPresetCombo = new QComboBox(this);
    pPresetCombo->addItem(tr("Custom"), QSize());
    pPresetCombo->addItem(tr("HD video (1280 x 720)"), QSize(1280, 720));
    pPresetCombo->addItem(tr("Full HD video (1920 x 1080)"), QSize(1920, 1080));
    pPresetCombo->addItem(tr("Banner (728 x 90)"), QSize(728, 90));
    pPresetCombo->addItem(tr("Rectangle ad (300 x 250)"), QSize(300, 250));
    pPresetCombo->addItem(tr("Phone (375 x 667)"), QSize(375, 667));

    auto makeSpin = [this](const char *pName, int nMin, int nMax, int nValue, const QString &strSuffix) {
        auto *pSpin = new QSpinBox(this);
        pSpin->setObjectName(QLatin1String(pName));
        pSpin->setRange(nMin, nMax);
        pSpin->setValue(nValue);
        pSpin->setSuffix(strSuffix);
        pSpin->setAccelerated(true);
        return pSpin;
    };
    m_pWidthSpin = makeSpin("m_pWidthSpin", SceneProject::s_nMinStageSize, SceneProject::s_nMaxStageSize, 1280,
                            tr(" px"));
    m_pHeightSpin = makeSpin("m_pHeightSpin", SceneProject::s_nMinStageSize, SceneProject::s_nMaxStageSize, 720,
                             tr(" px"));
    m_pFpsSpin = makeSpin("m_pFpsSpin", SceneProject::s_nMinFps, SceneProject::s_nMaxFps, 24, tr(" fps"));
    m_pResponsiveCheck = new QCheckBox(tr("Responsive: the stage scales with the browser window"), this);
    m_pResponsiveCheck->setObjectName(QStringLiteral("m_pResponsiveCheck"));

    auto *pForm = new QFormLayout();
    pForm->addRow(tr("&Name:"), m_pNameEdit);
    // A row whose field is a layout gets no buddy by itself; the mnemonic needs one.
    auto *pFolderLabel = new QLabel(tr("&Folder:"), this);
    pFolderLabel->setBuddy(m_pFolderEdit);
    pForm->addRow(pFolderLabel, pFolderLayout);
    pForm->addRow(tr("&Preset:"), pPresetCombo);
    pForm->addRow(tr("Stage &width:"), m_pWidthSpin);
    pForm->addRow(tr("Stage &height:"), m_pHeightSpin);
    pForm->addRow(tr("Frame &rate:"), m_pFpsSpin);
    pForm->addRow(QString(), m_pResponsiveCheck);

    m_pMessageLabel = new QLabel(this);
    m_pMessageLabel->setObjectName(QStringLiteral("m_pMessageLabel"));
    m_pMessageLabel->setWordWrap(true);
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pButtons->button(QDialogButtonBox::Ok)->setText(tr("Create"));

    auto *pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(m_pMessageLabel);
    pLayout->addStretch(1);
    pLayout->addWidget(m_pButtons);
    setMinimumWidth(480);

    connect(pBrowseButton, &QPushButton::clicked, this, &NewSceneDialog::browse);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &NewSceneDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &NewSceneDialog::reject);
    connect(m_pNameEdit, &QLineEdit::textChanged, this, &NewSceneDialog::validate);
    connect(m_pFolderEdit, &QLineEdit::textChanged, this, &NewSceneDialog::validate);
    connect(pPresetCombo, QOverload<int>::of(&QComboBox::activated), this, [this, pPresetCombo](int nIndex) {
        const QSize size = pPresetCombo->itemData(nIndex).toSize();
        if (size.isValid()) {
            m_pWidthSpin->setValue(size.width());
            m_pHeightSpin->setValue(size.height());
        }
    });
    validate();
}

NewSceneDialog::~NewSceneDialog() = default;

QString NewSceneDialog::projectPath() const
{
    const QString strFolder = QDir::fromNativeSeparators(m_pFolderEdit->text().trimmed());
    return QDir(strFolder).absoluteFilePath(m_pNameEdit->text().trimmed() + QStringLiteral(".zelto"));
}

QString NewSceneDialog::getFilePath()
{
    return result() == QDialog::Accepted ? projectPath() : QString();
}

int NewSceneDialog::getValue1()
{
    return m_pWidthSpin->value();
}

int NewSceneDialog::getValue2()
{
    return m_pHeightSpin->value();
}

int NewSceneDialog::getValue3()
{
    return m_pFpsSpin->value();
}

bool NewSceneDialog::getOption()
{
    return m_pResponsiveCheck->isChecked();
}

void NewSceneDialog::setProjectName(const QString &strName)
{
    m_pNameEdit->setText(strName);
}

void NewSceneDialog::setFolder(const QString &strFolder)
{
    m_pFolderEdit->setText(QDir::toNativeSeparators(strFolder));
}

void NewSceneDialog::setStage(int nWidth, int nHeight, int nFps, bool bResponsive)
{
    m_pWidthSpin->setValue(nWidth);
    m_pHeightSpin->setValue(nHeight);
    m_pFpsSpin->setValue(nFps);
    m_pResponsiveCheck->setChecked(bResponsive);
}

QString NewSceneDialog::validationError() const
{
    const QString strName = m_pNameEdit->text().trimmed();
    if (strName.isEmpty())
        return tr("Enter a name for the project.");
    // Characters that no file system of the platforms we run on accepts.
    static const QRegularExpression s_invalid(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    if (strName.contains(s_invalid) || strName.startsWith(QLatin1Char('.')) || strName.endsWith(QLatin1Char('.')))
        return tr("A project name cannot contain \\ / : * ? \" < > | or start or end with a dot.");
    if (strName.size() > 120)
        return tr("The project name is too long.");
    if (m_pFolderEdit->text().trimmed().isEmpty())
        return tr("Choose a folder for the project.");
    if (QFileInfo::exists(projectPath()))
        return tr("A project named %1 already exists in this folder.").arg(strName);
    return QString();
}

void NewSceneDialog::validate()
{
    const QString strError = validationError();
    m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(strError.isEmpty());
    if (!strError.isEmpty())
        m_pMessageLabel->setText(strError);
    else if (!QFileInfo(QDir::fromNativeSeparators(m_pFolderEdit->text().trimmed())).isDir())
        m_pMessageLabel->setText(tr("The folder does not exist yet; it will be created."));
    else
        m_pMessageLabel->setText(tr("The project will be saved as %1.").arg(QDir::toNativeSeparators(projectPath())));
}

void NewSceneDialog::accept()
{
    const QString strError = validationError();
    if (!strError.isEmpty()) {
        m_pMessageLabel->setText(strError);
        return;
    }
    const QString strFolder = QFileInfo(projectPath()).absolutePath();
    if (!QDir().mkpath(strFolder)) {
        m_pMessageLabel->setText(tr("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(strFolder)));
        return;
    }
    SceneSettings::setLastFolder(strFolder);
    ICreateDocumentDlg::accept();
}

void NewSceneDialog::browse()
{
    QFileDialog dialog(this, tr("Choose a Folder"), m_pFolderEdit->text());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        setFolder(dialog.selectedFiles().constFirst());
}
