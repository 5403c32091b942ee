#include "render/compositing.h"

#include "support/gl_test.h"
