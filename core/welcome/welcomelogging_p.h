#pragma once

#include <QLoggingCategory>

// The welcome page and the web bridge log under "zelto.core.welcome".
Q_DECLARE_LOGGING_CATEGORY(lcWelcome)
