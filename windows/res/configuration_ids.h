// Control IDs of the configuration layout.
#pragma once
