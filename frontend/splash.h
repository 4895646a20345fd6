// The end splash that closes the program.
#pragma once

void updateEndSplash();
