#include "common/code_page.h"
