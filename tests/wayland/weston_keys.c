/* A weston module that types: weston's headless backend has no seat, and weston has no protocol
 * through which one client types into another. The test writes evdev key codes, one a line, to the
 * FIFO named by PELMORA_KEYS_FIFO, and this module presses and releases each key on a seat of its
 * own. The client with the keyboard focus gets them through wl_keyboard as from a real keyboard. */
#include <weston.h>

#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

/* libweston-10 exports these to its backends but declares them only in a header it does not
 * install. */
void weston_seat_init(struct weston_seat* seat, struct weston_compositor* compositor,
                      const char* seat_name);
int weston_seat_init_keyboard(struct weston_seat* seat, struct xkb_keymap* keymap);
void notify_key(struct weston_seat* seat, const struct timespec* time, uint32_t key,
                enum wl_keyboard_key_state state, enum weston_key_state_update update_state);

struct keys {
    struct weston_seat seat;
    char pending[256];
    size_t length;
    int64_t last_milliseconds;
};

/* wl_keyboard carries milliseconds. Keys read in one go would share one, and a client may take a
 * press at the time of the last release for a key repeat (Pelmora does so for Enter on a button):
 * each key is a millisecond after the one before at least, as a typist's would be. */
static void press_and_release(struct keys* keys, uint32_t code) {
    struct timespec time;
    weston_compositor_get_time(&time);
    int64_t milliseconds = (int64_t)time.tv_sec * 1000 + time.tv_nsec / 1000000;
    if (milliseconds <= keys->last_milliseconds) {
        milliseconds = keys->last_milliseconds + 1;
        time.tv_sec = milliseconds / 1000;
        time.tv_nsec = (milliseconds % 1000) * 1000000;
    }
    keys->last_milliseconds = milliseconds;
    notify_key(&keys->seat, &time, code, WL_KEYBOARD_KEY_STATE_PRESSED, STATE_UPDATE_AUTOMATIC);
    notify_key(&keys->seat, &time, code, WL_KEYBOARD_KEY_STATE_RELEASED, STATE_UPDATE_AUTOMATIC);
}

static int read_keys(int fd, uint32_t mask, void* data) {
    (void)mask;
    struct keys* keys = data;
    const ssize_t count =
        read(fd, keys->pending + keys->length, sizeof keys->pending - 1 - keys->length);
    if (count <= 0) {
        return 0;
    }
    keys->length += (size_t)count;
    keys->pending[keys->length] = '\0';
    char* line = keys->pending;
    for (char* end; (end = strchr(line, '\n')) != NULL; line = end + 1) {
        *end = '\0';
        press_and_release(keys, (uint32_t)strtoul(line, NULL, 10));
    }
    /* A line cut short by the pipe waits for its end. */
    keys->length = strlen(line);
    memmove(keys->pending, line, keys->length + 1);
    return 0;
}

WL_EXPORT int wet_module_init(struct weston_compositor* compositor, int* argc, char* argv[]) {
    (void)argc;
    (void)argv;
    const char* fifo = getenv("PELMORA_KEYS_FIFO");
    if (fifo == NULL) {
        weston_log("weston_keys: PELMORA_KEYS_FIFO is not set\n");
        return -1;
    }
    struct keys* keys = calloc(1, sizeof *keys);
    if (keys == NULL) {
        return -1;
    }
    weston_seat_init(&keys->seat, compositor, "keys");
    /* No keymap: weston's default, the evdev rules' US layout, to which the codes belong. */
    if (weston_seat_init_keyboard(&keys->seat, NULL) < 0) {
        return -1;
    }
    /* Opened for writing too, so that the FIFO never reaches its end between the test's writes. */
    const int fd = open(fifo, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        weston_log("weston_keys: cannot open %s\n", fifo);
        return -1;
    }
    wl_event_loop_add_fd(wl_display_get_event_loop(compositor->wl_display), fd, WL_EVENT_READABLE,
                         read_keys, keys);
    return 0;
}
