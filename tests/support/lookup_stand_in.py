#!/usr/bin/env python3
"""The disc database's stand-in: lookup_stand_in.py PORT HEX_CONFIG (JSON in hex).

Discs are given by track lengths; their ids are computed here, so a wrong id
gets a 404. Per disc: "releases", "statuses" (successive codes, the last
repeated), "delay" (s), "malformed". No program User-Agent: 403.
"""
import base64
import hashlib
import http.server
import json
import sys
import threading
import time


def frames(msf):
    m, s, f = (int(x) for x in msf.split(':'))
    return (m * 60 + s) * 75 + f


def disc_id(tracks):
    offsets = [150]
    for length in tracks[:-1]:
        offsets.append(offsets[-1] + frames(length))
    text = '%02X%02X%08X' % (1, len(tracks), offsets[-1] + frames(tracks[-1]))
    text += ''.join('%08X' % o for o in (offsets + [0] * 99)[:99])
    digest = base64.b64encode(hashlib.sha1(text.encode()).digest()).decode()
    return digest.translate(str.maketrans('+/=', '._-'))


def answer(did, disc):
    """The service's answer to /ws/2/discid/<id>?inc=recordings+artist-credits."""
    return {'id': did, 'releases': [{
        'title': r['title'], 'date': r.get('date', ''), 'country': r.get('country', ''),
        'artist-credit': [{'name': r['artist'], 'joinphrase': ''}],
        'media': [{'position': 1, 'format': 'CD', 'discs': [{'id': did}], 'track-count': len(r['tracks']),
                   'tracks': [{'position': i + 1, 'number': str(i + 1), 'title': t, 'recording': {'title': t}}
                              for i, t in enumerate(r['tracks'])]}],
    } for r in disc.get('releases', [])]}


def main():
    port = int(sys.argv[1])
    config = json.loads(bytes.fromhex(sys.argv[2]).decode('utf-8'))
    discs = {disc_id(d['tracks']): d for d in config['discs']}
    requests, counts = [], {}

    class Handler(http.server.BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def reply(self, status, body):
            self.send_response(status)
            self.send_header('Content-Type', 'application/json; charset=utf-8')
            self.send_header('Content-Length', str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def do_GET(self):
            agent = self.headers.get('User-Agent', '')
            if self.path == '/requests':
                return self.reply(200, ''.join('%s\t%s\n' % r for r in requests).encode())
            if self.path == '/quit':
                self.reply(200, b'')
                return threading.Thread(target=server.shutdown).start()
            requests.append((self.path, agent))
            if not agent.startswith('ZantoPlayer/'):
                return self.reply(403, b'{"error": "anonymous clients are refused"}')
            did = self.path.split('?')[0].rsplit('/', 1)[-1]
            disc = discs.get(did)
            if disc is None:
                return self.reply(404, b'{"error": "Not Found"}')
            counts[did] = counts.get(did, 0) + 1
            statuses = disc.get('statuses', [200])
            status = statuses[min(counts[did], len(statuses)) - 1]
            time.sleep(disc.get('delay', 0))
            if status != 200:
                return self.reply(status, b'{"error": "busy"}')
            body = json.dumps(answer(did, disc), ensure_ascii=False).encode('utf-8')
            self.reply(200, body[:len(body) // 2] if disc.get('malformed') else body)

    server = http.server.ThreadingHTTPServer(('127.0.0.1', port), Handler)
    lifetime = threading.Timer(300, server.shutdown)  # never outlives a forgotten test
    lifetime.daemon = True
    lifetime.start()
    server.serve_forever()


if __name__ == '__main__':
    main()
