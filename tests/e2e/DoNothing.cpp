// bench_nothing.exe: starts, loads only what every program loads, and ends.
// scripts/bench times it as the cost of one process start and end, the floor
// under the encoder's own cost per file.
int main() {
    return 0;
}
