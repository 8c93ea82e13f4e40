// The addresses behind the About box's links and the Help menu's Home page
// command. Both are plain targets for OpenLink (anything the shell can open).
#pragma once

constexpr char kHomePageAddress[] = "https://www.tarvello.example/";
constexpr char kSupportAddress[] = "https://www.tarvello.example/support/";
