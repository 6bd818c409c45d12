// The other half of the planted circle (see one/one.h).
#pragma once

#include "one/one.h"
