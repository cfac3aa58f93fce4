%MOODCULL  Flag points by how alike three planes look around them.
%   F = MOODCULL(P, N, PLANE0, PLANE1, PLANE2, M, K, W, THRESHOLD) judges
%   each of N points by the 21-by-21 window centred on it in each of three
%   planes. The three windows' 256-bin histograms are compared pairwise by
%   cosine similarity, giving T0 (planes 0 and 1), T1 (0 and 2) and T2 (1 and
%   2), and weighed into the score ((0 + W(1)*T0) + W(2)*T1) + W(3)*T2. F(i)
%   is 2 when the score reaches THRESHOLD and 1 when it falls below.
%
%   Inputs
%     P          points, an N-by-2 real double array [x y] of zero-based
%                column x and row y; both are truncated toward zero (10.9
%                counts as 10). Only the first 2*N values are read, so an
%                array with more rows than N is read as if it had N rows (the
%                y column starts at element N+1 of P's storage).
%     N          number of points, a real number truncated toward zero. N
%                below 1, or NaN, gives an empty 0-by-1 result and reads
%                nothing else.
%     PLANE0,
%     PLANE1,
%     PLANE2     three M-by-K image planes, grey levels: every pixel of a
%                judged window must lie above -1 and below 256.
%     M, K       rows and columns of the planes, real numbers truncated
%                toward zero. They bound the points and give the column stride.
%     W          the weights, a real double array; only W(1:3) are read.
%     THRESHOLD  the score threshold, a real number.
%
%   Output
%     F   N-by-1 double, each element exactly 1 or 2.
%
%   Details
%     Point (x, y) is judged only when its window, rows y-10..y+10 and
%     columns x-10..x+10, lies wholly inside the planes; every other point
%     gets 2, including any point when M or K is below 21 and any point with
%     a NaN, infinite or huge coordinate. Bin b of a histogram counts the
%     window pixels whose value truncates to b. Each similarity lies between
%     0 and 1 (within rounding): three identical windows give about 1 each,
%     and windows with no bin in common give exactly 0. A score equal to
%     THRESHOLD gives 2; a NaN THRESHOLD or a NaN weight gives 1 for every
%     judged point.
%
%   Errors (identifier: cause)
%     "func: moodcull() requires 9 input arguments."  wrong input count
%     "func: moodcull() requires 1 output argument."  output count not 1
%                                                     (call it with an output)
%     planestat:moodcull:notRealDouble  P, a plane or W is not a real, full
%                                       double array
%     planestat:moodcull:notRealScalar  N, M, K or THRESHOLD is not one real
%                                       number
%     planestat:moodcull:tooFewValues   P holds fewer than 2*N values, or,
%                                       when N >= 1 and M and K are at least
%                                       21 (some window fits), a plane holds
%                                       fewer than M*K values or W fewer than
%                                       3 (checked even if no listed point
%                                       lands on a window)
%     planestat:moodcull:badPixel       a pixel of a judged window has no bin
%                                       (NaN, Inf, <= -1 or >= 256); the
%                                       message names the plane, its row and
%                                       column, and the value
%
%   Example
%     A = mod (reshape ((0:440) .^ 2, 21, 21), 256);
%     F = moodcull ([10 10; 10 11], 2, A, A, A, 21, 21, [1 1 1], 2.5)   % [2; 2]
%     F = moodcull ([10 10; 10 11], 2, A, A', A, 21, 21, [1 0 0], 1.5)  % [1; 2]
%
%   See also STILLCULL.

% Help text only: the function itself is the compiled MEX file of the same name.

%!shared A, B, C
%! A = mod (reshape ((0:440) .^ 2 * 7 + (0:440) * 3, 21, 21), 256) + 0.5;
%! B = mod (reshape ((0:440) .^ 2 * 5 + (0:440) * 11, 21, 21), 256) + 0.25;
%! C = mod (reshape ((0:440) * 13, 21, 21), 256) + 0.75;

%!test  # only the centre of the smallest planes is judged; coordinates truncate
%! P = [10 10; 10.9 10.9; 10 11; 11 10; 9 10; 10 9; -0.5 10];
%! assert (moodcull (P, 7, A, B, C, 21, 21, [1 1 1], Inf), [1; 1; 2; 2; 2; 2; 2]);
%! assert (moodcull (P, 7, A, B, C, 21, 20, [1 1 1], Inf), 2 * ones (7, 1));

%!test  # the score, recomputed here, decides; a score equal to the threshold gives 2
%! planes = {A, B, C};
%! h = zeros (3, 256);
%! for r = 1:21
%!   for c = 1:21
%!     for p = 1:3
%!       h(p, fix (planes{p}(r,c)) + 1) += 1;
%!     end
%!   end
%! end
%! for p = 1:3
%!   s = 0;
%!   for k = 1:256
%!     s = s + h(p,k) * h(p,k);
%!   end
%!   h(p,:) = h(p,:) / sqrt (s);
%! end
%! t = zeros (1, 3);
%! for k = 1:256
%!   t(1) = t(1) + h(1,k) * h(2,k);
%!   t(2) = t(2) + h(1,k) * h(3,k);
%!   t(3) = t(3) + h(2,k) * h(3,k);
%! end
%! w = [0.25 0.5 0.125];
%! score = ((0 + w(1) * t(1)) + w(2) * t(2)) + w(3) * t(3);
%! assert (moodcull ([10 10], 1, A, B, C, 21, 21, w, score), 2);
%! assert (moodcull ([10 10], 1, A, B, C, 21, 21, w, score + eps (score)), 1);
%! assert (moodcull ([10 10], 1, A, B, C, 21, 21, [w 99], score), 2);

%!test  # weights: identical planes, zero weights, planes with no common bin
%! assert (moodcull ([10 10; 10 11], 2, A, A, A, 21, 21, [1 1 1], 2.5), [2; 2]);
%! assert (moodcull ([10 10; 10 11], 2, A, A, A, 21, 21, [1 1 1], 3.5), [1; 2]);
%! assert (moodcull ([10 10], 1, A, B, C, 21, 21, [0 0 0], 0), 2);
%! assert (moodcull ([10 10], 1, A, B, C, 21, 21, [0 0 0], realmin), 1);
%! low = mod (A, 100);
%! high = 100 + mod (A, 100);
%! assert (moodcull ([10 10], 1, low, high, C, 21, 21, [1 0 0], 0), 2);
%! assert (moodcull ([10 10], 1, low, high, C, 21, 21, [1 0 0], realmin), 1);

%!test  # NaN threshold or weight: 1 inside, 2 outside
%! P = [10 10; 10 11];
%! assert (moodcull (P, 2, A, B, C, 21, 21, [1 1 1], NaN), [1; 2]);
%! assert (moodcull (P, 2, A, B, C, 21, 21, [1 NaN 1], -Inf), [1; 2]);

%!test  # N truncates; y starts at element N+1; N below 1 gives 0-by-1
%! P = [10 10 10; 10 0 0]';   # 3 rows: with N = 2.7, y = P(3), P(4)
%! assert (moodcull (P, 2.7, A, B, C, 21, 21, [1 1 1], Inf), [1; 1]);
%! P = [10 10 10 10; 0 0 0 0]';   # 4 rows, N = 2: y = P(3), P(4)
%! assert (moodcull (P, 2, A, B, C, 21, 21, [1 1 1], Inf), [1; 1]);
%! assert (size (moodcull ([], 0, [], [], [], 21, 21, [], 0)), [0 1]);
%! assert (size (moodcull ([], -2, [], [], [], 21, 21, [], 0)), [0 1]);
%! assert (size (moodcull ([], NaN, [], [], [], 21, 21, [], 0)), [0 1]);

%!test  # coordinates beyond any plane fail the window test
%! P = [NaN 10; 10 Inf; -Inf 10; 1e10 10; 10 -1e10; 2147483647 10];
%! assert (moodcull (P, 6, A, B, C, 21, 21, [1 1 1], Inf), 2 * ones (6, 1));

%!test  # unread planes, weights and pixels are not checked
%! assert (moodcull ([10 10], 1, [], [], [], 20, 21, [], 0), 2);
%! D = A;
%! D(21,:) = NaN;
%! assert (moodcull ([10 9], 1, A, B, D, 21, 21, [1 1 1], Inf), 2);

%!test  # the pixel error names plane, one-based row and column, and value
%! D = B;
%! D(3,7) = -1;
%! err = [];
%! try
%!   x = moodcull ([10 10], 1, A, D, C, 21, 21, [1 1 1], 0);
%! catch err
%! end
%! assert (err.identifier, "planestat:moodcull:badPixel");
%! assert (err.message, ["moodcull: plane 1 (input 4) holds -1 at row 3, ", ...
%!                       "column 7; pixel values must lie above -1 and below 256"]);

%!error <func: moodcull\(\) requires 9 input arguments\.> x = moodcull (1, 2, 3, 4, 5, 6, 7, 8);
%!error <func: moodcull\(\) requires 9 input arguments\.> [a, b] = moodcull (1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
%!error <func: moodcull\(\) requires 1 output argument\.> moodcull ([10 10], 1, A, B, C, 21, 21, [1 1 1], 0)
%!error <func: moodcull\(\) requires 1 output argument\.> [a, b] = moodcull ([10 10], 1, A, B, C, 21, 21, [1 1 1], 0);
%!error id=planestat:moodcull:notRealDouble x = moodcull ([10 10], 1, A, single (B), C, 21, 21, [1 1 1], 0);
%!error id=planestat:moodcull:notRealDouble x = moodcull ([10 10], 1, A, B, C, 21, 21, int8 ([1 1 1]), 0);
%!error id=planestat:moodcull:notRealDouble x = moodcull ([10 10], 1, A, B, C + 1i, 21, 21, [1 1 1], 0);
%!error id=planestat:moodcull:notRealScalar x = moodcull ([10 10], 1, A, B, C, 21, 21, [1 1 1], "x");
%!error id=planestat:moodcull:tooFewValues x = moodcull ([10 10 10], 2, A, B, C, 21, 21, [1 1 1], 0);
%!error id=planestat:moodcull:tooFewValues x = moodcull ([10 10], 1, A, B(:,1:20), C, 21, 21, [1 1 1], 0);
%!error id=planestat:moodcull:tooFewValues x = moodcull ([10 10], 1, A, B, C, 21, 21, [1 1], 0);
%!error id=planestat:moodcull:tooFewValues x = moodcull ([0 0], 1, A, B, C, 21, 21, [], 0);
%!error id=planestat:moodcull:badPixel x = moodcull ([10 10], 1, A, B, [C(:,1:20), 256 * ones(21, 1)], 21, 21, [1 1 1], 0);
%!error id=planestat:moodcull:badPixel x = moodcull ([10 10], 1, NaN (21), B, C, 21, 21, [1 1 1], 0);
