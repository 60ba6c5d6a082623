#include "editor/properties/proprietes_dialog.h"
