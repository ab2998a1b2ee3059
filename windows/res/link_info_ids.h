// Control IDs of the link info layout.
#pragma once
