// The encoder's file name, beside the program.
#pragma once

constexpr char kEncoderFileName[] = "quenforenc.exe";
