#include "editor/desktop_record.h"
