// Control IDs of the profile layout.
#pragma once
