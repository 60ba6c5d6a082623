#include "platform/handover_record.h"
