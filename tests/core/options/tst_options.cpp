#include "core/options/ioptionpage.h"
#include "core/options/ioptionsdlg.h"

#include <QMetaMethod>
#include <QtTest>

class ProbePage : public IOptionPage
{
    Q_OBJECT

public:
    explicit ProbePage(QWidget *parent = nullptr)
        : IOptionPage(parent)
    {
    }
    bool needsInit() const { return needsInitConfig2UI(); }
};

class ProbeDialog : public IOptionsDlg
{
    Q_OBJECT

public:
    ProbeDialog(QWidget *parent, Qt::WindowFlags flags)
        : IOptionsDlg(parent, flags)
    {
    }
    void showOptionsDialog() override { m_lstCalls << QStringLiteral("show"); }
    void addOptionPage(IOptionPage *pPage) override { m_lstPages.append(pPage); }
    void onApply() override { m_lstCalls << QStringLiteral("apply"); }
    void onCancel() override { m_lstCalls << QStringLiteral("cancel"); }
    void onOK() override { m_lstCalls << QStringLiteral("ok"); }
    void onPageChanged(int nPage) override { m_lstCalls << QStringLiteral("page %1").arg(nPage); }
    void saveAllChanges() override {}
    void discardAllChanges() override {}
    void setCurrentPage(int) override {}

    int pageCount() const { return m_lstPages.size(); }
    QStringList m_lstCalls;
};

class tst_Options : public QObject
{
    Q_OBJECT

private slots:
    void pageFlags();
    void pageSlotsAreInvokableByName();
    void dialogIsAlwaysTopLevel();
    void dialogSlotsReachTheConcreteDialog();
};

void tst_Options::pageFlags()
{
    QWidget parent;
    ProbePage page(&parent);
    QCOMPARE(page.parentWidget(), &parent);
    QVERIFY(!page.isChanged());
    QVERIFY(!page.needsInit());

    page.setChanged(false);   // the argument is not consulted
    QVERIFY(page.isChanged());
    page.discardChanges();
    QVERIFY(!page.isChanged());
    page.setChanged(true);
    page.saveChanges();
    QVERIFY(!page.isChanged());

    page.initValues();
    QVERIFY(page.needsInit());
    page.setNeedInitConfig2UI();
    QVERIFY(!page.needsInit());
}

void tst_Options::pageSlotsAreInvokableByName()
{
    ProbePage page;
    QVERIFY(QMetaObject::invokeMethod(&page, "setChanged", Q_ARG(bool, false)));
    bool bChanged = false;
    QVERIFY(QMetaObject::invokeMethod(&page, "isChanged", Q_RETURN_ARG(bool, bChanged)));
    QVERIFY(bChanged);
    QVERIFY(page.metaObject()->indexOfSignal("dataChanged()") >= 0);
}

void tst_Options::dialogIsAlwaysTopLevel()
{
    QWidget parent;
    ProbeDialog dialog(&parent, Qt::Tool | Qt::FramelessWindowHint);
    QCOMPARE(dialog.parentWidget(), nullptr);
    QVERIFY(dialog.isWindow());
    QVERIFY(!(dialog.windowFlags() & Qt::FramelessWindowHint));
    QCOMPARE(dialog.pageCount(), 0);
}

void tst_Options::dialogSlotsReachTheConcreteDialog()
{
    ProbeDialog dialog(nullptr, Qt::WindowFlags());
    const QMetaObject *pMeta = &IOptionsDlg::staticMetaObject;
    const int nApply = pMeta->indexOfSlot("onApply()");
    const int nCancel = pMeta->indexOfSlot("onCancel()");
    const int nOk = pMeta->indexOfSlot("onOK()");
    const int nPage = pMeta->indexOfSlot("onPageChanged(int)");
    QVERIFY(nApply >= pMeta->methodOffset());
    QVERIFY(nApply < nCancel && nCancel < nOk && nOk < nPage);

    QVERIFY(QMetaObject::invokeMethod(&dialog, "onApply"));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "onCancel"));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "onOK"));
    QVERIFY(QMetaObject::invokeMethod(&dialog, "onPageChanged", Q_ARG(int, 3)));
    QCOMPARE(dialog.m_lstCalls, QStringList({"apply", "cancel", "ok", "page 3"}));
}

QTEST_MAIN(tst_Options)
#include "tst_options.moc"
