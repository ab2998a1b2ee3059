// Control IDs of the pages and the Profile dialog, one header each.
#pragma once

#include "about_ids.h"
#include "configuration_ids.h"
#include "link_info_ids.h"
#include "profile_ids.h"
#include "security_ids.h"
#include "site_survey_ids.h"
