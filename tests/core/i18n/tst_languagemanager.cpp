#include "core/i18n/ilanguagemanager.h"
#include "tests/common/testhost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

namespace {

const char kLanguageKey[] = "Zelto/Language";

QStringList ids(const QList<LanguageInfo *> &lstLanguages)
{
    QStringList lstIds;
    for (const LanguageInfo *pInfo : lstLanguages)
        lstIds << pInfo->id;
    return lstIds;
}

} // namespace

class tst_LanguageManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listsCatalogues_data();
    void listsCatalogues();
    void englishRecordIsBuiltIn();
    void currentLanguageIsTheSavedOne_data();
    void currentLanguageIsTheSavedOne();
    void saveLanguageTakesListedIdsOnly_data();
    void saveLanguageTakesListedIdsOnly();
    void secondInitializationDoesNotDuplicate();

private:
    void createCatalogues(const QStringList &lstFiles);

    TestSupport::TestHost m_host;
    QString m_strFolder;
};

void tst_LanguageManager::init()
{
    m_strFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    QDir(m_strFolder).removeRecursively();
    m_host.settings()->remove(kLanguageKey);
}

void tst_LanguageManager::cleanup()
{
    QDir(m_strFolder).removeRecursively();
    m_host.settings()->remove(kLanguageKey);
}

void tst_LanguageManager::createCatalogues(const QStringList &lstFiles)
{
    QVERIFY(QDir().mkpath(m_strFolder));
    for (const QString &strFile : lstFiles) {
        QFile file(m_strFolder + QLatin1Char('/') + strFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void tst_LanguageManager::listsCatalogues_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no catalogues") << QStringList() << QStringList{"en_US"};
    QTest::newRow("french and japanese")
        << QStringList{"zelto_ja.qm", "zelto_fr.qm"} << QStringList{"en_US", "fr_FR", "ja_JP"};
    QTest::newRow("ordered by file name")
        << QStringList{"zelto_pt.qm", "zelto_de.qm"} << QStringList{"en_US", "de_DE", "pt_BR"};
    QTest::newRow("english catalogue adds a second record")
        << QStringList{"zelto_en_US.qm"} << QStringList{"en_US", "en_US"};
    QTest::newRow("other files are ignored")
        << QStringList{"zelto_de.qm", "other_fr.qm", "zelto_it.ts", "zelto_es.qm.bak"}
        << QStringList{"en_US", "de_DE"};
    QTest::newRow("a name that is no language gives C")
        << QStringList{"zelto_xx.qm"} << QStringList{"en_US", "C"};
}

void tst_LanguageManager::listsCatalogues()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    if (!files.isEmpty())
        createCatalogues(files);

    ILanguageManager &manager = ILanguageManager::getInstance();
    QVERIFY(manager.initialize());
    QCOMPARE(ids(manager.getLanguages()), expected);
}

void tst_LanguageManager::englishRecordIsBuiltIn()
{
    createCatalogues({"zelto_de.qm"});
    ILanguageManager &manager = ILanguageManager::getInstance();
    QVERIFY(manager.initialize());

    const LanguageInfo *pEnglish = manager.getLanguages().first();
    QCOMPARE(pEnglish->id, QStringLiteral("en_US"));
    QCOMPARE(pEnglish->languageName, QStringLiteral("English"));
    QCOMPARE(pEnglish->countryName, QStringLiteral("United States"));
    QCOMPARE(pEnglish->nativeLanguageName, QLocale("en_US").nativeLanguageName());
    QCOMPARE(pEnglish->nativeCountryName, QLocale("en_US").nativeCountryName());

    const LanguageInfo *pGerman = manager.getLanguages().at(1);
    QCOMPARE(pGerman->languageName, QStringLiteral("German"));
    QCOMPARE(pGerman->countryName, QStringLiteral("Germany"));
    QCOMPARE(pGerman->nativeLanguageName, QStringLiteral("Deutsch"));
    QCOMPARE(pGerman->nativeCountryName, QStringLiteral("Deutschland"));
}

void tst_LanguageManager::currentLanguageIsTheSavedOne_data()
{
    QTest::addColumn<QVariant>("saved");
    QTest::addColumn<QString>("expected");

    // Without a saved language the application runs in its built-in English.
    QTest::newRow("nothing saved") << QVariant() << QStringLiteral("en_US");
    QTest::newRow("german") << QVariant(QStringLiteral("de_DE")) << QStringLiteral("de_DE");
    QTest::newRow("not a language") << QVariant(QStringLiteral("garbage")) << QStringLiteral("en_US");
}

void tst_LanguageManager::currentLanguageIsTheSavedOne()
{
    QFETCH(QVariant, saved);
    QFETCH(QString, expected);
    if (saved.isValid())
        m_host.settings()->setValue(kLanguageKey, saved);

    ILanguageManager &manager = ILanguageManager::getInstance();
    QVERIFY(manager.initialize());
    QCOMPARE(manager.getCurrentLangId(), expected);
}

void tst_LanguageManager::saveLanguageTakesListedIdsOnly_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("listed catalogue") << QStringLiteral("fr_FR") << true;
    QTest::newRow("built-in english") << QStringLiteral("en_US") << true;
    QTest::newRow("language without country") << QStringLiteral("fr") << false;
    QTest::newRow("different case") << QStringLiteral("fr_fr") << false;
    QTest::newRow("empty") << QString() << false;
}

void tst_LanguageManager::saveLanguageTakesListedIdsOnly()
{
    QFETCH(QString, id);
    QFETCH(bool, accepted);
    createCatalogues({"zelto_fr.qm", "zelto_ja.qm"});
    m_host.settings()->setValue(kLanguageKey, QStringLiteral("ja_JP"));

    ILanguageManager &manager = ILanguageManager::getInstance();
    QVERIFY(manager.initialize());
    QCOMPARE(manager.saveLanguage(id), accepted);
    QCOMPARE(manager.getSaveLangId(), accepted ? id : QStringLiteral("ja_JP"));
    // The running language changes only at the next start.
    QCOMPARE(manager.getCurrentLangId(), QStringLiteral("ja_JP"));
}

void tst_LanguageManager::secondInitializationDoesNotDuplicate()
{
    createCatalogues({"zelto_de.qm"});
    ILanguageManager &manager = ILanguageManager::getInstance();
    QVERIFY(manager.initialize());
    QVERIFY(manager.initialize());
    QCOMPARE(ids(manager.getLanguages()), (QStringList{"en_US", "de_DE"}));
}

QTEST_GUILESS_MAIN(tst_LanguageManager)
#include "tst_languagemanager.moc"
