// CGFloat is a 32-bit float, as on the phone.
#pragma once

typedef float CGFloat;
