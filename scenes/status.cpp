#include "scenes/status.h"

float midLevel = 0.0f;
String statusText;
