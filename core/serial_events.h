#pragma once

// The port's event, line-error and modem-status bits are defined with the port's other values.
#include "platform/serial_codes.h"
