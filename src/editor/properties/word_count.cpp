#include "editor/properties/word_count.h"
