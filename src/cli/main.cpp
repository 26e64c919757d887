#include <cstdio>
int main() { std::puts("varnelio-cli"); return 0; }
