#pragma once
// A bound on code that may block for ever on a lock it cannot know about (one the faulting code
// or a dead connection left held): after `seconds` the alarm runs `onAlarm`, which ends the
// process. The calling thread takes the alarm even where it blocked every signal. Safe to call
// from a signal handler.
void ArmEndingAlarm(void (*onAlarm)(int), unsigned seconds);
