#include "app/core/rule_text.h"
