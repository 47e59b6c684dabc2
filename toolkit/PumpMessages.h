#pragma once
// Processes every message waiting in the calling thread's queue and returns without
// waiting for new ones. A quit request is left in the queue for the message loop.
void PumpMessages();
