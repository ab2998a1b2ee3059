// Control IDs of the security layout.
#pragma once
