#include "integrations/insertions.h"
