/* A module whose main answers null, as one does for a host it refuses. */
void* nullMain(void* host) __asm__("main") __attribute__((visibility("default")));

void* nullMain(void* host) {
    (void)host;
    return 0;
}
