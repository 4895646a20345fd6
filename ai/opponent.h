// The computer-driven player 2 and its path nodes.
#pragma once

void Player2ai();
void updateNode();
