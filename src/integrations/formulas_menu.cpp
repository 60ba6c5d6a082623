#include "integrations/formulas_menu.h"
