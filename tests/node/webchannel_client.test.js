// The application's "ztwelcome" object driven over the real WebSocket server
// of a running zelto by a client nobody here wrote (ws + qwebchannel).
'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { WebSocket, startZelto, bridgeUrl, connectChannel, call, delay } = require('./zelto');

const RECENT = ['/projekte/Übung eins.zelto', '/projekte/b.zeltopack', '/projekte/c.zelto'];

test('ztwelcome over the real server', async (t) => {
    const app = await startZelto({ recentFiles: RECENT });
    t.after(() => app.stop());
    const { socket, objects } = await connectChannel(app);
    t.after(() => socket.close());
    const welcome = objects.ztwelcome;
    assert.ok(welcome, 'the channel publishes ztwelcome');

    await t.test('the connection file is private to the user', () => {
        assert.equal(fs.statSync(app.connectionFile).mode & 0o777, 0o600);
        assert.equal(fs.statSync(path.dirname(app.connectionFile)).mode & 0o777, 0o700);
        assert.match(app.token, /^[A-Za-z0-9_-]{43}$/);
    });

    await t.test('a client without the launch token is closed with 1008', async () => {
        for (const token of [undefined, '', app.token.slice(1)]) {
            const code = await new Promise((resolve) => {
                const ws = new WebSocket(bridgeUrl(app.port, token));
                // Sent at once, as a page would: it must never be answered.
                ws.on('open', () => ws.send(JSON.stringify({ type: 3, id: 1 })));
                ws.on('message', () => resolve('answered'));
                ws.on('close', (closeCode) => resolve(closeCode));
                ws.on('error', () => {});
            });
            assert.equal(code, 1008, `token ${JSON.stringify(token)}`);
        }
        await waitFor(() => app.output().includes('Refused a WebSocket connection without the launch token.'));
        assert.ok(!app.output().includes(app.token), 'the log shows the token');
    });

    await t.test('getRecentFileList returns the saved list, non-ASCII intact', async () => {
        assert.deepEqual(await call(welcome, 'getRecentFileList'), RECENT);
    });

    await t.test('callbackAsyncfromJS answers both keys and nothing else', async () => {
        assert.equal(await call(welcome, 'callbackAsyncfromJS', 'WelcomeScreen.getBuildNumber', 'x'), process.env.ZELTO_VERSION);
        const locale = await call(welcome, 'callbackAsyncfromJS', 'WelcomeScreen.getLocale', '');
        assert.match(locale, /^([a-z]{2,3}(_[A-Z]{2})?|C)$/);
        assert.equal(await call(welcome, 'callbackAsyncfromJS', 'WelcomeScreen.getPassword', ''), '');
    });

    await t.test('removeFile removes and announces resetRecentFiles', async () => {
        const reset = new Promise((resolve) => welcome.resetRecentFiles.connect(resolve));
        await call(welcome, 'removeFile', RECENT[1]);
        await reset;
        assert.deepEqual(await call(welcome, 'getRecentFileList'), [RECENT[0], RECENT[2]]);
    });

    await t.test('a second page gets its own transport and the same object', async () => {
        const second = await connectChannel(app);
        try {
            const [a, b] = await Promise.all([
                call(second.objects.ztwelcome, 'getRecentFileList'),
                call(welcome, 'getRecentFileList'),
            ]);
            assert.deepEqual(a, b);
        } finally {
            second.socket.close();
        }
    });

    await t.test('callbackTunnelAsync runs File.Save while it is disabled', async () => {
        // Without a project the save handler has nothing to save: the call
        // returns, no box blocks the application, and it keeps serving.
        await call(welcome, 'callbackTunnelAsync', 'File.Save');
        await call(welcome, 'callbackTunnelAsync', 'No.Such.Command');
        assert.deepEqual(await call(welcome, 'getRecentFileList'), [RECENT[0], RECENT[2]]);
        assert.equal(app.proc.exitCode, null);
    });

    await t.test('a web site cannot connect', async () => {
        const refused = await new Promise((resolve) => {
            const ws = new WebSocket(bridgeUrl(app.port, app.token), { origin: 'https://example.com' });
            ws.on('open', () => { ws.close(); resolve(null); });
            ws.on('unexpected-response', (req, res) => resolve(res.statusCode));
            ws.on('error', () => resolve('error'));
        });
        assert.notEqual(refused, null, 'the handshake from https://example.com was accepted');
        await waitFor(() => app.output().includes('Refused a WebSocket connection from origin https://example.com.'));
        // The application's own pages still get in.
        const again = await connectChannel(app, { origin: 'qrc://' });
        again.socket.close();
    });

    await t.test('callbackTunnelAsync("File.Exit") closes the application', async () => {
        await call(welcome, 'callbackTunnelAsync', 'File.Exit');
        const result = await Promise.race([app.exited, delay(30000).then(() => null)]);
        assert.notEqual(result, null, 'zelto still runs after File.Exit');
        assert.equal(result.code, 0, app.output());
        assert.ok(!fs.existsSync(app.connectionFile), 'the connection file outlives the window');
    });
});

async function waitFor(predicate, timeoutMs = 5000) {
    const end = Date.now() + timeoutMs;
    while (!predicate()) {
        if (Date.now() > end)
            throw new Error('timed out');
        await delay(20);
    }
}
