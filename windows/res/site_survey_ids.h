// Control IDs of the site survey layout.
#pragma once
