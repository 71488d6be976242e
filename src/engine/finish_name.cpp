#include "engine/finish_name.h"
