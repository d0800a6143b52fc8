#include "extensionsystem/plugininfo.h"
#include "extensionsystem/plugininfo_p.h"

#include "extensionsystem/pluginmanager.h"

#include <QJsonArray>
#include <QPluginLoader>
#include <QRegularExpression>

namespace ExtensionSystem {

namespace {

// Reads the "Arguments" of the metadata of the plug-in named strPlugin.
// Without an error string an entry that is not a valid option is skipped.
bool readArguments(const QJsonObject &metaData, const QString &strPlugin,
                   QVector<PluginArgumentDescription> *pArguments, QString *pError)
{
    const QJsonValue arguments = metaData.value(QStringLiteral("Arguments"));
    if (arguments.isUndefined() || arguments.isNull())
        return true;
    if (!arguments.isArray()) {
        if (pError)
            *pError = PluginManager::tr("The plug-in's \"Arguments\" is not an array.");
        return !pError;
    }
    // An option is "-" and a letter or digit, then letters, digits and "-":
    // never the host's "--", never something a shell would split.
    static const QRegularExpression namePattern(QStringLiteral("^-[A-Za-z0-9][A-Za-z0-9-]*$"));
    const QJsonArray array = arguments.toArray();
    for (const QJsonValue &entry : array) {
        const QJsonObject object = entry.toObject();
        PluginArgumentDescription argument;
        argument.name = object.value(QStringLiteral("Name")).toString();
        argument.parameter = object.value(QStringLiteral("Parameter")).toString().simplified();
        argument.description = object.value(QStringLiteral("Description")).toString().simplified();
        argument.withoutWindow = object.value(QStringLiteral("WithoutWindow")).toBool(false);
        argument.pluginName = strPlugin;
        if (!namePattern.match(argument.name).hasMatch()) {
            if (pError) {
                *pError = PluginManager::tr("The command-line option \"%1\" of the plug-in is not an option name "
                                            "(\"-\" and letters, digits or \"-\").")
                              .arg(argument.name.left(200));
                return false;
            }
            continue;
        }
        pArguments->append(argument);
    }
    return true;
}

} // namespace

PluginInfo::PluginInfo()
    : d(std::make_unique<PluginInfoPrivate>())
{
}

QVector<PluginArgumentDescription> PluginInfo::argumentDescriptions() const
{
    QVector<PluginArgumentDescription> lstArguments;
    readArguments(d->m_metaData, d->m_strName, &lstArguments, nullptr);
    return lstArguments;
}

PluginInfo::~PluginInfo()
{
    // The manager deletes the plug-in object first; the library stays mapped
    // (Qt keeps plug-in libraries loaded), so no code goes away under anyone.
    delete d->m_pLoader;
}

QString PluginInfo::name() const
{
    return d->m_strName;
}

QString PluginInfo::version() const
{
    return d->m_strVersion;
}

QString PluginInfo::compatVersion() const
{
    return d->m_strCompatVersion;
}

bool PluginInfo::isRequired() const
{
    return d->m_bRequired;
}

QVector<PluginDependency> PluginInfo::dependencies() const
{
    return d->m_lstDependencies;
}

QString PluginInfo::filePath() const
{
    return d->m_strFilePath;
}

QJsonObject PluginInfo::metaData() const
{
    return d->m_metaData;
}

PluginInfo::State PluginInfo::state() const
{
    return d->m_state;
}

bool PluginInfo::hasError() const
{
    return d->m_bHasError;
}

QString PluginInfo::errorString() const
{
    return d->m_strError;
}

IPlugin *PluginInfo::plugin() const
{
    return d->m_pPlugin;
}

QVector<PluginInfo *> PluginInfo::dependencyInfos() const
{
    return d->m_lstDependencyInfos;
}

bool PluginInfo::isValidVersion(const QString &version)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d+(\\.\\d+){0,3}$"));
    return pattern.match(version).hasMatch();
}

int PluginInfo::versionCompare(const QString &left, const QString &right)
{
    const QStringList lhs = left.split(QLatin1Char('.'));
    const QStringList rhs = right.split(QLatin1Char('.'));
    const int count = qMax(lhs.size(), rhs.size());
    for (int i = 0; i < count; ++i) {
        const int l = i < lhs.size() ? lhs.at(i).toInt() : 0;
        const int r = i < rhs.size() ? rhs.at(i).toInt() : 0;
        if (l != r)
            return l < r ? -1 : 1;
    }
    return 0;
}

bool PluginInfo::provides(const QString &name, const QString &version) const
{
    if (name != d->m_strName)
        return false;
    if (version.isEmpty())
        return true;
    return versionCompare(d->m_strVersion, version) >= 0
        && versionCompare(d->m_strCompatVersion, version) <= 0;
}

void PluginInfo::setError(const QString &message)
{
    // Keep the first reason: later steps only fail because of it.
    if (d->m_bHasError)
        return;
    d->m_bHasError = true;
    d->m_strError = message;
}

bool PluginInfo::readMetaData(const QString &filePath, const QJsonObject &qtMetaData,
                              QString *errorString)
{
    d->m_strFilePath = filePath;
    const QJsonValue metaValue = qtMetaData.value(QStringLiteral("MetaData"));
    if (!metaValue.isObject()) {
        *errorString = PluginManager::tr("The plug-in metadata has no \"MetaData\" object.");
        return false;
    }
    d->m_metaData = metaValue.toObject();
    // Read first, so that a required plug-in with broken metadata still stops start-up.
    d->m_bRequired = d->m_metaData.value(QStringLiteral("Required")).toBool(false);

    const QJsonValue name = d->m_metaData.value(QStringLiteral("Name"));
    if (!name.isString() || name.toString().trimmed().isEmpty()) {
        *errorString = PluginManager::tr("The plug-in metadata has no \"Name\".");
        return false;
    }
    d->m_strName = name.toString().trimmed();

    d->m_strVersion = d->m_metaData.value(QStringLiteral("Version")).toString();
    if (!isValidVersion(d->m_strVersion)) {
        *errorString = PluginManager::tr("The plug-in version \"%1\" is not a valid version.")
                     .arg(d->m_strVersion);
        return false;
    }
    d->m_strCompatVersion = d->m_metaData.value(QStringLiteral("CompatVersion")).toString(d->m_strVersion);
    if (!isValidVersion(d->m_strCompatVersion)) {
        *errorString = PluginManager::tr("The plug-in compatibility version \"%1\" is not a valid version.")
                     .arg(d->m_strCompatVersion);
        return false;
    }

    const QJsonValue dependencies = d->m_metaData.value(QStringLiteral("Dependencies"));
    if (!dependencies.isUndefined() && !dependencies.isNull() && !dependencies.isArray()) {
        *errorString = PluginManager::tr("The plug-in's \"Dependencies\" is not an array.");
        return false;
    }
    const QJsonArray array = dependencies.toArray();
    for (const QJsonValue &entry : array) {
        const QJsonObject object = entry.toObject();
        PluginDependency dependency;
        dependency.name = object.value(QStringLiteral("Name")).toString().trimmed();
        dependency.version = object.value(QStringLiteral("Version")).toString();
        if (dependency.name.isEmpty()) {
            *errorString = PluginManager::tr("A dependency of the plug-in has no \"Name\".");
            return false;
        }
        if (!dependency.version.isEmpty() && !isValidVersion(dependency.version)) {
            *errorString = PluginManager::tr("The dependency \"%1\" has an invalid version \"%2\".")
                         .arg(dependency.name, dependency.version);
            return false;
        }
        d->m_lstDependencies.append(dependency);
    }
    QVector<PluginArgumentDescription> lstArguments;
    if (!readArguments(d->m_metaData, d->m_strName, &lstArguments, errorString))
        return false;
    d->m_state = Read;
    return true;
}

} // namespace ExtensionSystem
