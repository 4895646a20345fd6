// The sample table: the data file's samples by fixed slot numbers.
#pragma once

void setupSound();
