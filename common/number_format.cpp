#include "common/number_format.h"
