// Control IDs of the about layout.
#pragma once
