// The computer-driven player 2 and its path nodes.
#pragma once

void Player2ai();
void updateNode();
// Frees all 200 path nodes.
void clearNodes();
// The path-node scan of the loaded tile map: a node at the foot of every ladder and on top
// of every platform that can be dropped through.
void scanNodes();
