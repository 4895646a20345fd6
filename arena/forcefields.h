// Team bases and the force fields that close them.
#pragma once

void setupForcefields();
