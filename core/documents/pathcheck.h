#pragma once

#include "core/core_global.h"

#include <QString>

/**
 * @brief The one rule for "does this path lie inside that folder".
 *
 * Files that come from outside (a page's request, a project naming its
 * images) may only be opened or written inside the folder they belong to.
 * Text alone cannot tell: a link inside the folder may lead anywhere, and a
 * path outside may be a link into it. So both sides are judged with their
 * links followed.
 */
class CORE_EXPORT PathCheck
{
public:
    /**
     * True when @p strPath, an existing file or folder, lies inside
     * @p strFolder, an existing folder, once the links of both are followed
     * (their canonical paths). The folder itself does not count as inside
     * it. A path that does not exist is never inside: there is nothing yet
     * whose place could be judged. Any thread.
     */
    static bool isInside(const QString &strPath, const QString &strFolder);
};
