#pragma once

#include "core/documents/icreatedocumentdlg.h"
#include "core/documents/idocument.h"
#include "core/documents/idocumentfactory.h"
#include "core/options/ioptionsdlg.h"
#include "tests/common/testdocument.h"

#include <QList>
#include <QPointer>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QAction;
QT_END_NAMESPACE

class TestDocumentFactory;

// A project that lives in one file: it opens when the file exists and saves
// and "saves as" the way the factory's settings tell it to.
class FactoryDocument : public IDocument
{
    Q_OBJECT

public:
    explicit FactoryDocument(TestDocumentFactory *pFactory);

    bool initNewDocument(int value1, int value2, int value3, bool option) override;
    bool open() override;
    bool save() override;
    bool saveAs() override;
    void cleanTempDir() override;
    bool reload() override;

    // Makes the project modified, as an edit would.
    void edit();

    int m_nSaveCount = 0;
    int m_nReloadCount = 0;
    QList<int> m_lstInitValues;

private:
    TestDocumentFactory *m_pFactory;
};

class TestCreateDocumentDlg : public ICreateDocumentDlg
{
    Q_OBJECT

public:
    explicit TestCreateDocumentDlg(TestDocumentFactory *pFactory);
    int exec() override;
    QString getFilePath() override;
    int getValue1() override { return 1; }
    int getValue2() override { return 2; }
    int getValue3() override { return 3; }
    bool getOption() override { return true; }

private:
    TestDocumentFactory *m_pFactory;
};

class TestOptionsDlg : public IOptionsDlg
{
    Q_OBJECT

public:
    TestOptionsDlg() : IOptionsDlg(nullptr, Qt::WindowFlags()) {}
    void showOptionsDialog() override { ++m_nShown; }
    void addOptionPage(IOptionPage *) override {}
    void onApply() override {}
    void onCancel() override {}
    void onOK() override {}
    void onPageChanged(int) override {}
    void saveAllChanges() override {}
    void discardAllChanges() override {}
    void setCurrentPage(int) override {}

    int m_nShown = 0;
};

// Serves "zelto" and "zeltopack" projects; what its documents and dialogs
// answer is set by the test through the public members. Its options dialog
// carries the factory's object name, so a test can tell which factory made it.
class TestDocumentFactory : public IDocumentFactory
{
    Q_OBJECT

public:
    IDocument *createDocument() override;
    IEditor *createEditor() override { return m_bEditorSucceeds ? new TestEditor : nullptr; }
    QStringList getSupportedSuffixes() override { return m_lstSuffixes; }
    IOptionsDlg *createOptionsDialog() override;
    ICreateDocumentDlg *createNewDocumentDialog() override { return new TestCreateDocumentDlg(this); }
    QString getOpenFileName() override { return m_strOpenFileName; }
    QString getDocumentTypeName() override
    {
        return m_strTypeName.isEmpty() ? IDocumentFactory::getDocumentTypeName() : m_strTypeName;
    }

    QStringList m_lstSuffixes{QStringLiteral("zelto"), QStringLiteral("zeltopack")};
    QString m_strTypeName;          // empty: the base class's name
    QString m_strOpenFileName;
    // New-project dialog.
    int m_nDialogResult = 1;        // QDialog::Accepted
    QString m_strNewFilePath;
    bool m_bNewIsTemp = true;
    bool m_bInitSucceeds = true;
    // Documents.
    bool m_bSaveSucceeds = true;
    bool m_bEditorSucceeds = true;  // false: createEditor() gives none
    QString m_strSaveAsTarget;      // empty: Save As fails (the user cancelled)

    QList<QPointer<FactoryDocument>> m_lstDocuments;
    QPointer<TestOptionsDlg> m_pOptionsDlg;
    int m_nOptionsDialogsCreated = 0;
    int m_nCleanTempCount = 0;      // counted here: the document is deleted right after
};

// The visible action of a registered command: what menus, toolbar buttons
// and shortcuts trigger.
QAction *commandAction(const char *id);

// Writes a small file, creating its folder.
bool writeProjectFile(const QString &path);
