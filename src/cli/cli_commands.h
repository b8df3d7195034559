#pragma once
// The handlers of the headless subcommands, one group per source file. The
// dispatch lists them in its command table (run_cli.cpp).

namespace k52 {

class CliContext;

// link_cli.cpp
int run_find(CliContext &ctx);
int run_doctor(CliContext &ctx);
// history_cli.cpp
int run_history(CliContext &ctx);
// profiles_cli.cpp
int run_profiles(CliContext &ctx);
// bitsize_cli.cpp
int run_bitsize(CliContext &ctx);
// restore_cli.cpp
int run_restore(CliContext &ctx);
// flash_cli.cpp
int run_flash(CliContext &ctx);
// maintenance_cli.cpp
int run_clone(CliContext &ctx);
int run_version(CliContext &ctx);
int run_reset(CliContext &ctx);
int run_restart(CliContext &ctx);
// program_cli.cpp
int run_program(CliContext &ctx);
int run_plan(CliContext &ctx);
int run_ports(CliContext &ctx);
// wiegand_cli.cpp
int run_wiegand(CliContext &ctx);

} // namespace k52
