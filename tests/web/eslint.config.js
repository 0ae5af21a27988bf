// The page's own scripts and the tests' scripts, against ESLint's recommended rules; run from the
// source tree's root: eslint -c tests/web/eslint.config.js
import js from '@eslint/js';
import globals from 'globals';

export default [
    {ignores: ['**/node_modules/', 'build/']},
    js.configs.recommended,
    {files: ['tests/**/*.js'], languageOptions: {sourceType: 'module', globals: {...globals.node, ...globals.browser}}},
    {files: ['ui/web/page/*.js'], languageOptions: {sourceType: 'module', globals: globals.browser}}, // the page's DOM code
    {files: ['app/draw.mjs'], languageOptions: {sourceType: 'module', globals: globals.node}}, // the page's build
    { // an emscripten library: a script whose names the linker gives it
        files: ['ui/web/page.js'],
        languageOptions: {sourceType: 'script', globals: {...globals.browser, mergeInto: 'readonly',
            LibraryManager: 'readonly', VelmoraPage: 'writable', VelmoraDom: 'readonly',
            Asyncify: 'readonly', HEAP32: 'readonly', HEAPU16: 'readonly', _malloc: 'readonly',
            ccall: 'readonly', stackSave: 'readonly', stackRestore: 'readonly', Module: 'readonly',
            autoAddDeps: 'readonly'}},
        rules: {'no-unused-vars': ['error', {caughtErrors: 'none'}]},
    },
];
