"""A display that answers late: a TCP display (127.0.0.1:N) that forwards each client's
connection to a local X server's socket and, while `delay` is set, hands every piece of
the server's answers on that many seconds later. A client waiting inside Xlib for an
answer (a round trip) then waits that long, as on a slow or overloaded server. Use it
with `with`, or close it."""

import socket
import threading
import time


class SlowDisplay:
    def __init__(self, display):
        number = display.lstrip(":").split(".")[0]
        self._target = f"/tmp/.X11-unix/X{number}"
        self._listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        # Display N listens on TCP port 6000 + N: take the first free one of a range
        # that X servers started with -displayfd do not use.
        for offset in range(300, 600):
            try:
                self._listener.bind(("127.0.0.1", 6000 + offset))
                break
            except OSError:
                continue
        else:
            raise RuntimeError("no free TCP port for a display")
        self._listener.listen(8)
        self.display = f"127.0.0.1:{offset}"
        self.delay = 0.0
        self._sockets = [self._listener]
        threading.Thread(target=self._accept, daemon=True).start()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        for sock in self._sockets:
            try:
                sock.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            sock.close()

    def _accept(self):
        while True:
            try:
                client, _ = self._listener.accept()
            except OSError:
                return
            server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            server.connect(self._target)
            self._sockets += [client, server]
            threading.Thread(target=self._forward, args=(client, server, False),
                             daemon=True).start()
            threading.Thread(target=self._forward, args=(server, client, True),
                             daemon=True).start()

    def _forward(self, source, destination, answers):
        while True:
            try:
                data = source.recv(65536)
                if not data:
                    break
                if answers and self.delay:
                    time.sleep(self.delay)
                destination.sendall(data)
            except OSError:
                break
        try:
            destination.shutdown(socket.SHUT_WR)
        except OSError:
            pass
