#include "engine/rename_job_fields.h"
