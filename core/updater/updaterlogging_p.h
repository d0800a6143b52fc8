#pragma once

#include <QLoggingCategory>

// Lets users filter the update checker's and the downloader's log lines.
Q_DECLARE_LOGGING_CATEGORY(lcUpdater)
