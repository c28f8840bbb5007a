#pragma once
#include "platform/status.h"
namespace platform::target {
using platform::Status;
}
