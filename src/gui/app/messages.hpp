#pragma once
// The window names its messages with the program's one table of messages.

#include "core/common/messageids.hpp"

namespace zerlant::gui {

using Msg = MessageId;

}  // namespace zerlant::gui
