// Resource identifiers shared by the resource script and the code.
#pragma once

// The program's own icon comes first, so the system shows it for the file.
#define IDI_SHUTTLE 1
#define IDI_LOCK 10
#define IDI_DOS_KEY 11
#define IDI_FINGER_KEY 12
#define IDI_EYE 13
#define IDI_MAGNIFIER 14
#define IDI_CLOCK_COMPUTER 15
#define IDI_PEN 16
#define IDI_NOTEPAD 17
#define IDI_PHONE_1 18
#define IDI_PHONE_2 19
#define IDI_DOCUMENTS 20
#define IDI_TOOLS 21
#define IDI_CARDS 22
#define IDI_DISC 23
#define IDI_HANDSHAKE 24
#define IDI_BULB 25
