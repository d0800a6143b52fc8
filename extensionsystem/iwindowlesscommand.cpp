#include "extensionsystem/iwindowlesscommand.h"

namespace ExtensionSystem {

IWindowlessCommand::~IWindowlessCommand() = default;

} // namespace ExtensionSystem
