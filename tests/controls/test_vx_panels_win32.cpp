#include "controls_fixture.h"
