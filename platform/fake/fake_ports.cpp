#include "fake_ports.h"
