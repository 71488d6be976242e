#include "engine/file_facts.h"
