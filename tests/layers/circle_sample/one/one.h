// One half of a planted circle between two folders: the circle check must report it.
#pragma once

#include "two/two.h"
