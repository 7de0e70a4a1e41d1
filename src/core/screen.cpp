#include "core/screen.h"
